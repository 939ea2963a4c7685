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

// RT_GROUP_ICON and RT_MANIFEST for the W functions.
const LPCWSTR kGroupIcon = MAKEINTRESOURCEW(14);
const LPCWSTR kManifest = MAKEINTRESOURCEW(24);

std::wstring wide(const std::string& text) {
  std::wstring result(text.size(), L'\0');
  result.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0],
                                    static_cast<int>(result.size())));
  return result;
}

std::wstring versionString(const std::vector<BYTE>& block, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = L"\\StringFileInfo\\0C0A04E4\\" + name;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value) return L"<missing>";
  return std::wstring(static_cast<const wchar_t*>(value), length > 0 ? length - 1 : 0);
}

BOOL CALLBACK collectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(
      IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name));
  return TRUE;
}

std::vector<std::wstring> resourceNames(HMODULE module, LPCWSTR type) {
  std::vector<std::wstring> names;
  EnumResourceNamesW(module, type, collectName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

std::string resourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name) {
  const HRSRC found = FindResourceW(module, name, type);
  if (!found) return "";
  const void* data = LockResource(LoadResource(module, found));
  return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

struct Program {
  const char* path;  // in the build folder
  const wchar_t* name;
  const wchar_t* description;
};

TEST(PackagingResources, VersionIconAndNoRequestedExecutionLevel) {
  const Program programs[] = {
      {"win32/TransHoraventTEBA.exe", L"TransHoraventTEBA", L"Exportar e importar datos entre Horavent y TEBA"},
      {"cli/transhoraventteba-cli.exe", L"transhoraventteba-cli",
       L"Exportaci\u00F3n e importaci\u00F3n de datos entre Horavent y TEBA desde la l\u00EDnea de \u00F3rdenes"},
  };
  for (const Program& program : programs) {
    SCOPED_TRACE(program.path);
    const std::wstring path = wide(builtProgram(program.path));

    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(block.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010004u);  // 1.4
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);           // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010004u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);  // one language: Spanish, code page 1252
    EXPECT_EQ(translation[0], 0x0C0A);
    EXPECT_EQ(translation[1], 1252);
    EXPECT_EQ(versionString(block, L"ProductName"), L"TransHoraventTEBA");
    EXPECT_EQ(versionString(block, L"ProductVersion"), L"1.4.0.0");
    EXPECT_EQ(versionString(block, L"FileVersion"), L"1.4.0.0");
    EXPECT_EQ(versionString(block, L"FileDescription"), program.description);
    EXPECT_EQ(versionString(block, L"InternalName"), program.name);
    EXPECT_EQ(versionString(block, L"OriginalFilename"), std::wstring(program.name) + L".exe");

    const HMODULE module =
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    // Explorer shows the first icon group: ours, in the four sizes, 32 bits a pixel.
    const std::vector<std::wstring> groups = resourceNames(module, kGroupIcon);
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front(), L"#1");
    const std::string group = resourceBytes(module, kGroupIcon, MAKEINTRESOURCEW(1));
    ASSERT_GE(group.size(), 6u);
    std::vector<int> sizes;
    for (size_t entry = 6; entry + 14 <= group.size(); entry += 14) {
      const auto width = static_cast<unsigned char>(group[entry]);
      sizes.push_back(width == 0 ? 256 : width);
      EXPECT_EQ(static_cast<unsigned char>(group[entry + 6]), 32) << "bits a pixel of the " << sizes.back();
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
    EXPECT_NE(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0), nullptr);
    // A manifest may come in (a toolchain's default one, say), but never one
    // that requests an execution level.
    for (const std::wstring& name : resourceNames(module, kManifest)) {
      const std::string manifest =
          resourceBytes(module, kManifest, name[0] == L'#' ? MAKEINTRESOURCEW(std::stoi(name.substr(1))) : name.c_str());
      EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos) << manifest;
    }
    FreeLibrary(module);
  }
}

}  // namespace
}  // namespace tht::test
