#include "cli/Arguments.h"

#include <charconv>

std::optional<std::string> Arguments::Option(const std::string& name) const {
  const auto it = options.find(name);
  return it == options.end() ? std::nullopt : std::optional(it->second);
}

std::optional<Arguments> ParseArguments(int argc, char** argv, const std::set<std::string>& valued,
                                        const std::set<std::string>& flags, std::string& error) {
  Arguments args;
  for (int i = 0; i < argc; ++i) {
    const std::string word = argv[i];
    // "--name" or the one-letter "-o"; anything else, a lone "-" included, is a positional word.
    const bool longOption = word.rfind("--", 0) == 0 && word.size() > 2;
    const bool shortOption = word.size() == 2 && word[0] == '-' && word[1] != '-';
    if (!longOption && !shortOption) {
      args.positional.push_back(word);
      continue;
    }
    const std::string name = word.substr(longOption ? 2 : 1);
    if (flags.count(name)) {
      args.flags.insert(name);
    } else if (valued.count(name)) {
      if (i + 1 >= argc) {
        error = "option " + word + " needs a value";
        return std::nullopt;
      }
      args.options[name] = argv[++i];
    } else {
      error = "unknown option " + word;
      return std::nullopt;
    }
  }
  return args;
}

std::optional<long> WholeNumber(const std::string& text, long lowest, long highest) {
  long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < lowest || value > highest) return std::nullopt;
  return value;
}
