#include "config/SharedRecord.h"

MuxConfig& SharedMuxConfig() {
  static MuxConfig record{};
  return record;
}

int& SharedPsiVersion() {
  static int version = 0;
  return version;
}
