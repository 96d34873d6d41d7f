#pragma once
// A subcommand's arguments: positional words, and options written "--name value" or "--flag".

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--name value", stored under "name"
  std::set<std::string> flags;                 // "--name" alone

  bool Has(const std::string& name) const { return options.count(name) || flags.count(name); }
  std::optional<std::string> Option(const std::string& name) const;
};

// Splits argv; `valued` names the options that take a value. nullopt, with the reason in `error`,
// when an option is unknown or lacks its value.
std::optional<Arguments> ParseArguments(int argc, char** argv, const std::set<std::string>& valued,
                                        const std::set<std::string>& flags, std::string& error);

// A whole decimal number in [lowest, highest]; nullopt for anything else.
std::optional<long> WholeNumber(const std::string& text, long lowest, long highest);
