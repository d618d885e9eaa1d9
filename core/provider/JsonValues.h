#pragma once

// Reading the upstream answers. Only the provider's sources include this header: the JSON
// library's include folder is private to core.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace meltemix::json {

using Value = nlohmann::json;

// The text as one JSON value; a discarded value (is_discarded()) when it is not valid
// JSON. Never throws on bad input.
Value Parse(const std::string& text);

// The member `key` of an object; null when `value` is no object or lacks the key.
const Value* Member(const Value& value, const char* key);

// Element `index` of the array `key` of an object; null when there is none.
const Value* Element(const Value& object, const char* key, std::size_t index);

// Typed reads of a member or of a value; none when it is missing, null or of another type.
std::optional<double> Number(const Value* value);
std::optional<std::int64_t> Integer(const Value* value); // a number with no fraction
std::optional<std::string> Text(const Value* value);

} // namespace meltemix::json
