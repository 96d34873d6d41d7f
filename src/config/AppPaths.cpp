#include "config/AppPaths.h"

#include <system_error>

AppPaths PathsBeside(const std::filesystem::path& exeDir) {
  AppPaths p;
  p.exeDir = exeDir;
  p.configDir = exeDir / "Config";
  p.imageToSend = p.configDir / "CONF_QR7710-4.A$B";
  p.imageReadBack = p.configDir / "CONF_QR7710-4.C$D";
  p.portFile = p.configDir / "QR7710-4_CONFPORT.qr7";
  return p;
}

AppPaths PathsOfRunningExecutable() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return PathsBeside(error ? std::filesystem::current_path(error) : exe.parent_path());
}

bool EnsureConfigDir(const AppPaths& paths) {
  std::error_code error;
  std::filesystem::create_directories(paths.configDir, error);
  return std::filesystem::is_directory(paths.configDir, error);
}
