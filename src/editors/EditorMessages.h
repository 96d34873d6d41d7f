#pragma once
// Message texts more than one editor shows.

#include <string_view>

inline constexpr std::string_view kChooseItem = "Choose item, please.";
inline constexpr std::string_view kListIsEmpty = "List is empty!";
inline constexpr std::string_view kDeleteAllItems = "Delete all items?";
inline constexpr std::string_view kLimitedPidsPerInput = "Limited 44 Pid per IN.";
