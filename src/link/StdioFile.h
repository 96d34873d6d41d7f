#pragma once
// A C stream that closes itself: the image files are read and written in whole blocks with the
// buffered file functions and the modes "rb" and "w+b".

#include <cstdio>
#include <filesystem>
#include <memory>

struct StdioFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using StdioFile = std::unique_ptr<std::FILE, StdioFileCloser>;

inline StdioFile OpenStdioFile(const std::filesystem::path& path, const char* mode) {
  return StdioFile(std::fopen(path.c_str(), mode));
}

// The size of an open file (seek to the end and back); -1 when it cannot be told.
inline long StdioFileSize(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(file);
  std::rewind(file);
  return size;
}
