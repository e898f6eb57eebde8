#pragma once

#include <string>
#include <string_view>

#include "TPdfDoc.h"
#include "TPdfObject.h"

// Shift-JIS bytes of UTF-8 source text, so tests can spell Japanese text readably.
std::string Sjis(std::string_view utf8);

// What the object writes as a value (or reference), and as an indirect object.
std::string Written(pdf::TPdfObject& object);
std::string WrittenIndirect(pdf::TPdfObject& object);

// The whole saved file.
std::string Saved(pdf::TPdfDoc& doc);

// A clock that always says 2010-07-08 10:21:41.
pdf::TPdfDateTime FixedTime();

// The page content written so far.
std::string PageContent(pdf::TPdfDoc& doc);
