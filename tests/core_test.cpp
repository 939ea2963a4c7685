// What the runs share that is not the system's: the runtime's error texts,
// the integer conversion and the first-match map.
#include <gtest/gtest.h>

#include <string>

#include "core/error_texts.h"
#include "core/first_match.h"
#include "platform/error.h"

namespace tht {
namespace {

TEST(Integers, ParsesDecimalTextOnly) {
  EXPECT_EQ(parseInteger32("0830"), 830);
  EXPECT_EQ(parseInteger32("-30"), -30);
  EXPECT_EQ(parseInteger32("+7"), 7);
  EXPECT_EQ(parseInteger32("2147483647"), 2147483647);
  EXPECT_EQ(parseInteger32("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "-", "09:25", "8.30", " 1", "1 ", "2147483648", "99999999999999999999"}) {
    try {
      parseInteger32(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' no es un valor entero v\xE1lido");
    }
  }
}

TEST(ErrorTexts, InputOutputErrorsByCode) {
  EXPECT_EQ(ioErrorMessage(2), "No se encuentra el archivo");
  EXPECT_EQ(ioErrorMessage(3), "Nombre de archivo inv\xE1lido");
  EXPECT_EQ(ioErrorMessage(4), "Demasiados archivos abiertos");
  EXPECT_EQ(ioErrorMessage(5), "Acceso al archivo denegado");
  EXPECT_EQ(ioErrorMessage(100), "Se intenta leer despu\xE9s del fin del archivo");
  EXPECT_EQ(ioErrorMessage(101), "Disco lleno");
  EXPECT_EQ(ioErrorMessage(106), "Valor num\xE9rico de entrada inv\xE1lido");
  EXPECT_EQ(ioErrorMessage(32), "Error de E/S 32");
}

// The lookup must give what a scan from the first entry would: the first
// value stored under a key, across the table's growth and collisions.
TEST(FirstMatch, FindsTheFirstValueOfEveryKeyAsAScanWould) {
  FirstMatch<std::string> lookup;
  EXPECT_EQ(lookup.find("A"), nullptr);
  EXPECT_TRUE(lookup.add("", "empty"));
  EXPECT_TRUE(lookup.add("MAT", "first"));
  EXPECT_FALSE(lookup.add("MAT", "second"));
  EXPECT_TRUE(lookup.add("mat", "small"));  // byte-exact: case matters
  EXPECT_TRUE(lookup.add(std::string("A\0B", 3), "with nul"));
  // Enough keys to grow the table many times over.
  for (int i = 0; i < 20000; ++i) EXPECT_TRUE(lookup.add("K" + std::to_string(i), std::to_string(i)));
  for (int i = 0; i < 20000; i += 7) EXPECT_FALSE(lookup.add("K" + std::to_string(i), "later"));

  ASSERT_NE(lookup.find(""), nullptr);
  EXPECT_EQ(*lookup.find(""), "empty");
  EXPECT_EQ(*lookup.find("MAT"), "first");
  EXPECT_EQ(*lookup.find("mat"), "small");
  EXPECT_EQ(*lookup.find(std::string("A\0B", 3)), "with nul");
  EXPECT_EQ(lookup.find("A"), nullptr);
  EXPECT_EQ(lookup.find("MA"), nullptr);
  EXPECT_EQ(lookup.find("MATE"), nullptr);
  for (int i = 0; i < 20000; ++i) {
    const std::string* found = lookup.find("K" + std::to_string(i));
    ASSERT_NE(found, nullptr) << i;
    EXPECT_EQ(*found, std::to_string(i));
  }
  EXPECT_EQ(lookup.find("K20000"), nullptr);
}

}  // namespace
}  // namespace tht
