#include "core/provider/JsonValues.h"

#include <cmath>

namespace meltemix::json {

Value Parse(const std::string& text) {
    return Value::parse(text, nullptr, /*allow_exceptions=*/false);
}

const Value* Member(const Value& value, const char* key) {
    if (!value.is_object())
        return nullptr;
    const auto found = value.find(key);
    return found == value.end() ? nullptr : &*found;
}

const Value* Element(const Value& object, const char* key, std::size_t index) {
    const Value* array = Member(object, key);
    if (!array || !array->is_array() || index >= array->size())
        return nullptr;
    return &(*array)[index];
}

std::optional<double> Number(const Value* value) {
    if (!value || !value->is_number())
        return std::nullopt;
    const double number = value->get<double>();
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<std::int64_t> Integer(const Value* value) {
    if (!value)
        return std::nullopt;
    if (value->is_number_integer()) {
        if (value->is_number_unsigned() && value->get<std::uint64_t>() > INT64_MAX)
            return std::nullopt;
        return value->get<std::int64_t>();
    }
    const auto number = Number(value);
    // 61.0 is as good a code as 61; anything beyond what a double holds exactly is not.
    if (!number || std::floor(*number) != *number || std::fabs(*number) > 9e15)
        return std::nullopt;
    return static_cast<std::int64_t>(*number);
}

std::optional<std::string> Text(const Value* value) {
    if (!value || !value->is_string())
        return std::nullopt;
    return value->get<std::string>();
}

} // namespace meltemix::json
