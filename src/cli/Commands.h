#pragma once

#include <string>
// The qrmux subcommands. Each returns the process exit code: 0 success, 1 failure, 2 usage.

struct Subcommand {
  const char* name;
  const char* usage;    // the synopsis line
  const char* summary;  // one line for `qrmux --help`
  const char* details;  // the rest of `qrmux NAME --help`
  int (*run)(int argc, char** argv);
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

int RunImage(int argc, char** argv);
int RunParse(int argc, char** argv);
int RunShow(int argc, char** argv);
int RunPacing(int argc, char** argv);
int RunSend(int argc, char** argv);
int RunGet(int argc, char** argv);
int RunEmulate(int argc, char** argv);

// Prints "usage: qrmux <usage>" and the reason to stderr; returns kExitUsage.
int UsageError(const char* subcommand, const std::string& reason);
