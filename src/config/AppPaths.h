#pragma once
// The files beside the executable: the Config folder with the port file and the two image files.

#include <filesystem>

struct AppPaths {
  std::filesystem::path exeDir;        // directory of the running executable
  std::filesystem::path configDir;     // exeDir / "Config"
  std::filesystem::path imageToSend;   // Config/CONF_QR7710-4.A$B
  std::filesystem::path imageReadBack; // Config/CONF_QR7710-4.C$D
  std::filesystem::path portFile;      // Config/QR7710-4_CONFPORT.qr7
};

AppPaths PathsBeside(const std::filesystem::path& exeDir);

// Paths beside the running executable (read from /proc/self/exe).
AppPaths PathsOfRunningExecutable();

// Creates the Config folder when it is missing; false when it cannot be made.
bool EnsureConfigDir(const AppPaths& paths);
