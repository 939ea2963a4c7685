// Both Windows programs as Explorer and Windows see them: the version
// resource read through the version API, the first icon group, and no
// manifest that requests an execution level (which would stop Windows from
// redirecting the write of "Horavent.ini" in a protected folder to the
// user's virtual store, where the host reads it).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/windows_process.h"

namespace tht::test {
namespace {

struct Resource {
  std::wstring name;  // "#1" for an identifier
  std::string bytes;
};

BOOL CALLBACK collect(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR list) {
  const HRSRC found = FindResourceW(module, name, type);
  const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  reinterpret_cast<std::vector<Resource>*>(list)->push_back(
      {IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name),
       std::string(data, SizeofResource(module, found))});
  return TRUE;
}

// The resources of a type (RT_GROUP_ICON is 14, RT_MANIFEST 24), in the order Explorer finds them.
std::vector<Resource> resources(HMODULE module, int type) {
  std::vector<Resource> list;
  EnumResourceNamesW(module, MAKEINTRESOURCEW(type), collect, reinterpret_cast<LONG_PTR>(&list));
  return list;
}

TEST(PackagingResources, VersionIconAndNoRequestedExecutionLevel) {
  const struct {
    const char* path;  // in the build folder
    std::wstring name, description;
  } programs[] = {
      {"win32/TransHoraventTEBA.exe", L"TransHoraventTEBA", L"Exportar e importar datos entre Horavent y TEBA"},
      {"cli/transhoraventteba-cli.exe", L"transhoraventteba-cli",
       L"Exportaci\u00F3n e importaci\u00F3n de datos entre Horavent y TEBA desde la l\u00EDnea de \u00F3rdenes"},
  };
  for (const auto& program : programs) {
    SCOPED_TRACE(program.path);
    const std::string pathBytes = builtProgram(program.path);
    const std::wstring path(pathBytes.begin(), pathBytes.end());  // an ASCII path

    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(block.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ((std::vector<DWORD>{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                  fixed->dwProductVersionLS}),
              (std::vector<DWORD>{0x00010004, 0, 0x00010004, 0}));  // 1.4.0.0
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value), length / 2), std::wstring({0x0C0A, 1252}))
        << "one language, Spanish, code page 1252";
    const std::pair<std::wstring, std::wstring> texts[] = {
        {L"ProductName", L"TransHoraventTEBA"},      {L"ProductVersion", L"1.4.0.0"},
        {L"FileVersion", L"1.4.0.0"},                {L"FileDescription", program.description},
        {L"InternalName", program.name},              {L"OriginalFilename", program.name + L".exe"}};
    for (const auto& [key, expected] : texts) {
      const std::wstring query = L"\\StringFileInfo\\0C0A04E4\\" + key;
      const bool found = VerQueryValueW(block.data(), query.c_str(), &value, &length) && length > 0;
      EXPECT_EQ(found ? std::wstring(static_cast<const wchar_t*>(value), length - 1) : L"<missing>", expected) << key;
    }

    const HMODULE module =
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    // Explorer shows the first icon group: ours, in four sizes of 32 bits a pixel.
    const std::vector<Resource> groups = resources(module, 14);
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front().name, L"#1");
    std::string sizes;
    for (size_t entry = 6; entry + 14 <= groups.front().bytes.size(); entry += 14)
      sizes += std::to_string(static_cast<unsigned char>(groups.front().bytes[entry]) + 0) + "/" +
               std::to_string(static_cast<unsigned char>(groups.front().bytes[entry + 6]) + 0) + " ";
    EXPECT_EQ(sizes, "16/32 32/32 48/32 0/32 ");  // width (0 for 256) / bits a pixel
    EXPECT_NE(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0), nullptr);
    // A manifest may come in (a toolchain's default one, say), but never one
    // that requests an execution level.
    for (const Resource& manifest : resources(module, 24))
      EXPECT_EQ(manifest.bytes.find("requestedExecutionLevel"), std::string::npos) << manifest.bytes;
    FreeLibrary(module);
  }
}

}  // namespace
}  // namespace tht::test
