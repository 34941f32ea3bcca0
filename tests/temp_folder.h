#pragma once
// A fresh folder of the test's own under the temporary folder (TMPDIR), removed with everything
// in it when the object goes: tests run side by side and leave nothing behind.
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/ustring.h"

class TTempFolder {
 public:
  TTempFolder() {
    std::string Pattern = (std::filesystem::temp_directory_path() / "lc_test_XXXXXX").string();
    if (!::mkdtemp(Pattern.data()))
      throw std::filesystem::filesystem_error("mkdtemp", Pattern,
                                              std::error_code(errno, std::generic_category()));
    FPath = Pattern;
  }
  ~TTempFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder, without a closing slash.
  const std::string& Path() const { return FPath; }
  // A name inside the folder.
  String operator/(const String& Name) const { return FromUtf8(FPath) + u"/" + Name; }

 private:
  std::string FPath;
};
