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

}  // namespace

std::optional<std::string> answerVersionText(std::string_view answer) {
    const auto root = parseObject(answer);
    if (!root)
        return std::nullopt;
    const Json::Value* data = root->find("Data", "Data" + 4);
    if (!data || !data->isObject())
        return std::nullopt;
    const Json::Value* version = data->find("version", "version" + 7);
    if (!version || !version->isString())
        return std::nullopt;
    return version->asString();
}

std::optional<int> answerResultCode(std::string_view answer) {
    const auto root = parseObject(answer);
    if (!root)
        return std::nullopt;
    const Json::Value* code = root->find("Result_Code", "Result_Code" + 11);
    if (!code || !code->isString())
        return std::nullopt;
    return dottedNumber(code->asString());
}

}  // namespace quillon::update
