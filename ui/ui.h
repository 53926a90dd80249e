// Public surface of the text, user-interface and settings library.
#pragma once

#include "ui/settings.h"
