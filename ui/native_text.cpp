#include "ui/native_text.h"

namespace qomdex::ui {

QString NameText(const NativeString& name) {
#ifdef _WIN32
  return QString::fromStdWString(name);
#else
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
#endif
}

QString PathText(const std::filesystem::path& path) { return NameText(path.native()); }

}  // namespace qomdex::ui
