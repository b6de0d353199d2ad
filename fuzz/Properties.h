// What holds for every settings file, whatever its bytes: the checks both fuzz targets make.
// Each traps at once when a property fails, so that libFuzzer keeps the input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ini/IniDocument.h"
#include "settings/Settings.h"

namespace fuzz {

// Stops the run, keeping the input, unless `holds`.
void Check(bool holds);

// The lines of `bytes` as the splitter makes them, checked against the bytes: one per LF, plus
// the text after the last, and together exactly the bytes other than CR, LF and NUL.
void CheckLines(std::string_view bytes);

// ClassifyLine on any text: trimmed parts, and empty ones for the kinds that carry none.
void CheckClassify(const std::string& line);

// The document the reader must make of `bytes`, built the plain way: every line split off whole
// (no comment skipped unread) and classified, every section and key created through GetOrCreate
// in file order.
scuffler::IniDocument ReferenceDocument(std::string_view bytes);

// `document` is `expected` exactly, entries and index, and keeps the model's invariants.
void CheckDocument(const scuffler::IniDocument& document, const scuffler::IniDocument& expected);

// The lighter check for a document that only had values assigned since CheckDocument passed on
// it: the same names in the same order, with the values of `expected`.
void CheckEntries(const scuffler::IniDocument& document, const scuffler::IniDocument& expected);

// After a load of `document`: each setting is the conversion of its text in section [Scuffler],
// or, where that does not convert, what it was `before`.
void CheckSettings(const scuffler::Settings& before, const scuffler::IniDocument& document);

}  // namespace fuzz
