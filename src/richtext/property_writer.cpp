#include "richtext/property_writer.h"

#include <algorithm>

#include "platform/utf.h"
#include "richtext/richtext_errors.h"

namespace texttoxml::richtext {

namespace {

constexpr std::size_t kMaxShortString = 255;

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool HasNonAscii(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// Identifiers that the stream holds as a bare tag.
struct SpecialIdent {
  std::string_view name;
  ValueType type;
};
constexpr SpecialIdent kSpecialIdents[] = {{"False", ValueType::False},
                                           {"True", ValueType::True},
                                           {"Null", ValueType::Null},
                                           {"nil", ValueType::Nil}};

}  // namespace

void PropertyWriter::WriteValueType(ValueType type) {
  out_.push_back(static_cast<char>(type));
}

void PropertyWriter::WriteLittleEndian(std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out_.push_back(static_cast<char>(value >> (8 * i)));
}

void PropertyWriter::WriteShortString(std::string_view utf8) {
  // A long name is cut, but never inside a character.
  std::size_t length = std::min(utf8.size(), kMaxShortString);
  if (length < utf8.size()) {
    while (length > 0 && IsContinuationByte(utf8[length])) --length;
  }
  out_.push_back(static_cast<char>(length));
  out_.append(utf8.substr(0, length));
}

void PropertyWriter::WriteInteger(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  if (value >= -128 && value <= 127) {
    WriteValueType(ValueType::Int8);
    WriteLittleEndian(bits, 1);
  } else if (value >= -32768 && value <= 32767) {
    WriteValueType(ValueType::Int16);
    WriteLittleEndian(bits, 2);
  } else {
    WriteValueType(ValueType::Int32);
    WriteLittleEndian(bits, 4);
  }
}

// UTF-8 when it is shorter than UTF-16 (one byte per character for plain
// ASCII), UTF-16 otherwise.
void PropertyWriter::WriteString(std::u16string_view text) {
  const std::string utf8 = platform::Utf16ToUtf8(text);
  if (utf8.size() < 2 * text.size()) {
    if (HasNonAscii(utf8)) {
      WriteValueType(ValueType::Utf8String);
      WriteLittleEndian(static_cast<std::uint32_t>(utf8.size()), 4);
    } else if (utf8.size() > kMaxShortString) {
      WriteValueType(ValueType::LString);
      WriteLittleEndian(static_cast<std::uint32_t>(utf8.size()), 4);
    } else {
      WriteValueType(ValueType::String);
      WriteLittleEndian(static_cast<std::uint32_t>(utf8.size()), 1);
    }
    out_.append(utf8);
    return;
  }
  WriteValueType(ValueType::WString);
  WriteLittleEndian(static_cast<std::uint32_t>(text.size()), 4);
  for (char16_t unit : text) WriteLittleEndian(unit, 2);
}

void PropertyWriter::WriteIdent(std::string_view name) {
  for (const SpecialIdent& special : kSpecialIdents) {
    if (EqualsIgnoringCase(name, special.name)) {
      WriteValueType(special.type);
      return;
    }
  }
  WriteValueType(ValueType::Ident);
  WriteShortString(name);
}

void PropertyWriter::WriteNamedInteger(std::int32_t value, std::span<const IntegerName> names) {
  auto named = std::find_if(names.begin(), names.end(),
                            [value](const IntegerName& n) { return n.value == value; });
  if (named != names.end()) {
    WriteIdent(named->name);
  } else {
    WriteInteger(value);
  }
}

void PropertyWriter::WriteSet(SetBits members, NameList names) {
  WriteValueType(ValueType::Set);
  for (std::size_t ordinal = 0; ordinal < names.size() && ordinal < 32; ++ordinal) {
    if (members & (SetBits{1} << ordinal)) WriteShortString(names[ordinal]);
  }
  WriteShortString("");
}

void PropertyWriter::WriteSet(std::span<const std::string> memberNames) {
  WriteValueType(ValueType::Set);
  for (const std::string& name : memberNames) WriteShortString(name);
  WriteShortString("");
}

void PropertyWriter::WritePropertyName(std::string_view name) {
  if (prefix_.empty()) {
    WriteShortString(name);
  } else {
    WriteShortString(prefix_ + std::string(name));
  }
}

void PropertyWriter::IntegerProperty(std::string_view name, std::int32_t value,
                                     std::optional<std::int32_t> defaultValue) {
  if (value == defaultValue) return;
  WritePropertyName(name);
  WriteInteger(value);
}

void PropertyWriter::NamedIntegerProperty(std::string_view name, std::int32_t value,
                                          std::int32_t defaultValue,
                                          std::span<const IntegerName> names) {
  if (value == defaultValue) return;
  WritePropertyName(name);
  WriteNamedInteger(value, names);
}

void PropertyWriter::BooleanProperty(std::string_view name, bool value,
                                     std::optional<bool> defaultValue) {
  if (value == defaultValue) return;
  WritePropertyName(name);
  WriteBoolean(value);
}

void PropertyWriter::EnumProperty(std::string_view name, int ordinal, NameList names,
                                  int defaultOrdinal) {
  if (ordinal == defaultOrdinal) return;
  if (ordinal < 0 || static_cast<std::size_t>(ordinal) >= names.size())
    throw PropertyRangeError(name);
  WritePropertyName(name);
  WriteIdent(names[static_cast<std::size_t>(ordinal)]);
}

void PropertyWriter::SetProperty(std::string_view name, SetBits members, NameList names) {
  if (members == 0) return;
  WritePropertyName(name);
  WriteSet(members, names);
}

void PropertyWriter::StringProperty(std::string_view name, std::u16string_view value) {
  if (value.empty()) return;
  WritePropertyName(name);
  WriteString(value);
}

}  // namespace texttoxml::richtext
