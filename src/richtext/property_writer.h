// The binary property stream that carries a style collection: tagged
// values, property names with the path of the sub-object they belong to,
// and the rule that a property at its default value is left out.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace texttoxml::richtext {

// The tag byte that begins every value.
enum class ValueType : std::uint8_t {
  Null,
  List,
  Int8,
  Int16,
  Int32,
  Extended,
  String,
  Ident,
  False,
  True,
  Binary,
  Set,
  LString,
  Nil,
  Collection,
  Single,
  Currency,
  Date,
  WString,
  Int64,
  Utf8String,
  Double
};

// A name that an integer type gives to one of its values (a colour such as
// clNone, a cursor, a character set).
struct IntegerName {
  std::int32_t value;
  std::string_view name;
};

// The element or value names of a set or enumeration type, by ordinal.
using NameList = std::span<const std::string_view>;

// Set values: bit n stands for the element of ordinal n.
using SetBits = std::uint32_t;

class PropertyWriter {
 public:
  // Appends everything written to `out`.
  explicit PropertyWriter(std::string& out) : out_(out) {}

  // Single values.
  void WriteValueType(ValueType type);
  // A length byte and the UTF-8 bytes, at most 255 of them.
  void WriteShortString(std::string_view utf8);
  // The shortest of vaInt8, vaInt16 and vaInt32 that holds the value.
  void WriteInteger(std::int32_t value);
  void WriteString(std::u16string_view text);
  void WriteIdent(std::string_view name);
  void WriteBoolean(bool value) { WriteIdent(value ? "True" : "False"); }
  // The value's name when the table has one, else the number.
  void WriteNamedInteger(std::int32_t value, std::span<const IntegerName> names);
  // The names of the members, in ordinal order, and an empty name.
  void WriteSet(SetBits members, NameList names);
  // A set given by the names of its members, in the order given.
  void WriteSet(std::span<const std::string> memberNames);
  // The name with the path of the sub-object being written.
  void WritePropertyName(std::string_view name);

  // Properties; those with a default are left out while they hold it.
  void IntegerProperty(std::string_view name, std::int32_t value,
                       std::optional<std::int32_t> defaultValue);
  void NamedIntegerProperty(std::string_view name, std::int32_t value, std::int32_t defaultValue,
                            std::span<const IntegerName> names);
  void BooleanProperty(std::string_view name, bool value, std::optional<bool> defaultValue);
  // Raises Error for an ordinal that has no name.
  void EnumProperty(std::string_view name, int ordinal, NameList names, int defaultOrdinal);
  void SetProperty(std::string_view name, SetBits members, NameList names);
  // Left out when empty.
  void StringProperty(std::string_view name, std::u16string_view value);

  // A sub-object writes no bytes of its own: its properties are named
  // "name.Property".
  template <class WriteProperties>
  void ObjectProperty(std::string_view name, WriteProperties writeProperties) {
    PrefixScope scope(prefix_, std::string(prefix_).append(name).append("."));
    writeProperties();
  }

  // vaCollection; per item vaList, its properties (named without a path)
  // and vaNull; then vaNull.
  template <class Item, class WriteItem>
  void WriteCollection(const std::vector<Item>& items, WriteItem writeItem) {
    PrefixScope scope(prefix_, std::string());
    WriteValueType(ValueType::Collection);
    for (const Item& item : items) {
      WriteValueType(ValueType::List);
      writeItem(item);
      WriteValueType(ValueType::Null);
    }
    WriteValueType(ValueType::Null);
  }

  template <class Item, class WriteItem>
  void CollectionProperty(std::string_view name, const std::vector<Item>& items,
                          WriteItem writeItem) {
    WritePropertyName(name);
    WriteCollection(items, writeItem);
  }

 private:
  // Sets the path prefix for a while and puts the old one back.
  class PrefixScope {
   public:
    PrefixScope(std::string& prefix, std::string replacement)
        : prefix_(prefix), saved_(std::exchange(prefix, std::move(replacement))) {}
    ~PrefixScope() { prefix_ = std::move(saved_); }
    PrefixScope(const PrefixScope&) = delete;
    PrefixScope& operator=(const PrefixScope&) = delete;

   private:
    std::string& prefix_;
    std::string saved_;
  };

  void WriteLittleEndian(std::uint32_t value, int bytes);

  std::string& out_;
  std::string prefix_;
};

}  // namespace texttoxml::richtext
