// Public surface of the text, user-interface and settings library.
#pragma once

#include "ui/settings.h"
#include "ui/text_buf.h"
#include "ui/fonts.h"
#include "ui/print.h"
#include "ui/lin2.h"
#include "ui/uniis.h"
#include "ui/lines_txt.h"
#include "ui/org_edit.h"
#include "ui/unitbars.h"
