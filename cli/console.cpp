#include "cli/console.h"

#include <ostream>

namespace tht::cli {

void ConsoleNotifier::message(const std::string& text) { out_ << toTerminal(text) << std::endl; }

}  // namespace tht::cli
