#pragma once
// The editors' command buttons (Ok, Delete, Clear, Exit, Cancel): one size for all, set in layouts.

#include "ui/PictureButton.h"

ui::PictureButton* NewCommandButton(ui::Picture picture, const char* caption, const char* hint, const char* name);
