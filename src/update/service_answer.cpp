#include "update/service_answer.h"

#include <json/json.h>

#include <memory>

#include "update/version_numbers.h"

namespace quillon::update {

namespace {

std::optional<Json::Value> parseObject(std::string_view answer) {
    answer = answer.substr(0, answer.find('\0'));
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["stackLimit"] = 64;  // answers are two levels deep
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(answer.data(), answer.data() + answer.size(), &root, &errors))
            return std::nullopt;
    } catch (const std::exception&) {
        // jsoncpp throws on some malformed input (nesting past the limit).
        return std::nullopt;
    }
    if (!root.isObject())
        return std::nullopt;
    return root;
}

const Json::Value* member(const Json::Value& object, std::string_view key) {
    return object.find(key.data(), key.data() + key.size());
}

}  // namespace

std::optional<std::string> answerVersionText(std::string_view answer) {
    const auto root = parseObject(answer);
    if (!root)
        return std::nullopt;
    const Json::Value* data = member(*root, "Data");
    if (!data || !data->isObject())
        return std::nullopt;
    const Json::Value* version = member(*data, "version");
    if (!version || !version->isString())
        return std::nullopt;
    return version->asString();
}

std::optional<int> answerResultCode(std::string_view answer) {
    const auto root = parseObject(answer);
    if (!root)
        return std::nullopt;
    const Json::Value* code = member(*root, "Result_Code");
    if (!code || !code->isString())
        return std::nullopt;
    return dottedNumber(code->asString());
}

}  // namespace quillon::update
