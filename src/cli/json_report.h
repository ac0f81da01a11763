// The machine-readable report of `check --format json` and `convert
// --format json`: one entry per input, with its counts and findings or with
// the error that stopped it.
#pragma once

#include <string>
#include <string_view>

#include "check/diagnostics.h"
#include "cli/command_files.h"

namespace texttoxml::cli {

// What the text holds: encoding, task and picture counts, findings, as the
// fields of an entry (without braces).
std::string JsonFields(const InputText& text, const check::Diagnosis& diagnosis);

// The error that stopped an input, as a field.
std::string JsonErrorField(std::string_view message);

// One input's entry: its name, then `fields`.
std::string JsonEntry(std::string_view file, std::string_view fields);

// Collects the entries into {"files": [...]}, written as each is added.
class JsonReport {
 public:
  std::string Add(std::string_view entry);
  std::string End() const;

 private:
  bool started_ = false;
};

}  // namespace texttoxml::cli
