// qrmux image, parse, show and pacing: the record and its image, with no device involved.

#include <iostream>
#include <memory>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/RecordFiles.h"
#include "cli/RecordPrinter.h"
#include "config/Pacing.h"
#include "image/ImageParser.h"
#include "image/ImageWriter.h"
#include "link/DeviceCommands.h"

namespace {

constexpr long kMaxPsiVersion = 31;

}  // namespace

int RunImage(int argc, char** argv) {
  std::string error;
  const auto args = ParseArguments(argc, argv, {"o", "version"}, {}, error);
  if (!args) return UsageError("image", error);
  if (args->positional.size() != 1 || !args->Has("o")) return UsageError("image", "give one MUXFILE and -o IMAGEFILE");
  const auto version = WholeNumber(args->Option("version").value_or("1"), 0, kMaxPsiVersion);
  if (!version) return UsageError("image", "--version takes a number from 0 to 31");

  auto cfg = std::make_unique<MuxConfig>();
  if (!LoadRecord(args->positional[0], *cfg)) return kExitFailure;
  if (const auto refusal = SendRefusal(*cfg)) {
    std::cerr << *refusal << '\n';
    return kExitFailure;
  }
  if (!WriteImageFile(*args->Option("o"), *cfg, static_cast<int>(*version))) {
    std::cerr << *args->Option("o") << ": the image file cannot be written.\n";
    return kExitFailure;
  }
  return kExitOk;
}

int RunParse(int argc, char** argv) {
  std::string error;
  const auto args = ParseArguments(argc, argv, {"o", "base"}, {}, error);
  if (!args) return UsageError("parse", error);
  if (args->positional.size() != 1 || !args->Has("o")) return UsageError("parse", "give one IMAGEFILE and -o MUXFILE");

  auto cfg = std::make_unique<MuxConfig>();
  if (const auto base = args->Option("base"); base && !LoadRecord(*base, *cfg)) return kExitFailure;
  const auto image = ReadWholeFile(args->positional[0]);
  if (!image) return kExitFailure;
  int psiVersion = 0;
  const ParsedImage parsed = ParsePlayedBackImage(*image, *cfg, psiVersion);
  for (int i = 0; i < parsed.badMapPackets; ++i) std::cerr << "Error in file.\n";
  return SaveRecord(*args->Option("o"), *cfg) ? kExitOk : kExitFailure;
}

int RunShow(int argc, char** argv) {
  std::string error;
  const auto args = ParseArguments(argc, argv, {}, {"json"}, error);
  if (!args) return UsageError("show", error);
  if (args->positional.size() != 1) return UsageError("show", "give one MUXFILE");

  auto cfg = std::make_unique<MuxConfig>();
  if (!LoadRecord(args->positional[0], *cfg)) return kExitFailure;
  if (args->Has("json"))
    PrintRecordJson(std::cout, *cfg);
  else
    PrintRecordText(std::cout, *cfg);
  return kExitOk;
}

int RunPacing(int argc, char** argv) {
  std::string error;
  const auto args = ParseArguments(argc, argv, {}, {"pack"}, error);
  if (!args) return UsageError("pacing", error);
  if (args->positional.size() != 1) return UsageError("pacing", "give one RATE in bit/s");
  const bool byteMode = !args->Has("pack");
  const auto rate = WholeNumber(args->positional[0], 1, kHighestBitRate);
  if (!rate || !BitRateAccepted(*rate, byteMode)) {
    const BitRateRange range = AcceptedBitRateRange(byteMode);
    std::cerr << "The bit rate must be between " << range.lowest << " and " << range.highest << " bit/s in "
              << (byteMode ? "Byte" : "Pack") << " mode.\n";
    return kExitFailure;
  }
  // As the bit-rate field does: the effective rate is shown, and the pacing is that rate's.
  const int32_t effective = EffectiveBitRate(static_cast<int32_t>(*rate));
  const Pacing pacing = ComputePacing(std::to_string(effective), byteMode);
  std::cout << "mode: " << (byteMode ? "Byte" : "Pack") << '\n'
            << "requested rate: " << *rate << '\n'
            << "effective rate: " << effective << '\n'
            << "byte gap: " << pacing.ByteGap << '\n'
            << "packet gaps:";
  for (uint16_t gap : pacing.PacketGap) std::cout << ' ' << gap;
  std::cout << '\n';
  return kExitOk;
}
