#include "skin/memory_skin.h"

#include <algorithm>

namespace quillon::skin {

// ---------------------------------------------------------------------------
// MemoryControl

void MemoryControl::setText(std::string_view text) {
    text_ = text;
    textKey_.clear();
}

void MemoryControl::setTextKey(std::string_view key) {
    textKey_ = key;
    text_ = skin_.translate(key);
}

void MemoryControl::reloadRowTexts() {
    for (Row& row : rows_) {
        for (RowCell& cell : row.cells) {
            if (!cell.textKey.empty()) {
                cell.text = skin_.translate(cell.textKey);
            }
        }
    }
}

void MemoryControl::setFocus() {
    skin_.focused_ = name_;
}

void MemoryControl::setChecked(bool checked, bool raiseEvent) {
    checked_ = checked;
    if (checked && !group_.empty()) {
        skin_.uncheckGroupPeers(*this);
    }
    if (raiseEvent) {
        skin_.emit({NotifyType::selectChanged, name_, -1, checked ? 1 : 0});
    }
}

int MemoryControl::insertRow(int at, const Row& row) {
    at = std::clamp(at, 0, rowCount());
    rows_.insert(rows_.begin() + at, row);
    if (currentRow_ >= at) {
        ++currentRow_;
    }
    return at;
}

void MemoryControl::removeRow(int index) {
    if (index < 0 || index >= rowCount()) {
        return;
    }
    rows_.erase(rows_.begin() + index);
    if (currentRow_ == index) {
        currentRow_ = -1;
    } else if (currentRow_ > index) {
        --currentRow_;
    }
}

void MemoryControl::clearRows() {
    rows_.clear();
    currentRow_ = -1;
}

std::optional<Row> MemoryControl::row(int index) const {
    if (index < 0 || index >= rowCount()) {
        return std::nullopt;
    }
    return rows_[static_cast<std::size_t>(index)];
}

void MemoryControl::setRow(int index, const Row& row) {
    if (index >= 0 && index < rowCount()) {
        rows_[static_cast<std::size_t>(index)] = row;
    }
}

bool MemoryControl::selectRow(int index, bool raiseEvent) {
    if (index == currentRow_ || index < -1 || index >= rowCount()) {
        return false;
    }
    currentRow_ = index;
    if (raiseEvent && index >= 0) {
        skin_.emit({NotifyType::itemSelect, name_, index, 0});
    }
    return true;
}

void MemoryControl::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
    setValue(value_);
}

void MemoryControl::setValue(int value) {
    value_ = minimum_ <= maximum_ ? std::clamp(value, minimum_, maximum_) : value;
}

// ---------------------------------------------------------------------------
// MemorySkin

MemoryControl& MemorySkin::declare(std::string_view name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) {
        it = controls_
                 .emplace(std::string(name),
                          std::make_unique<MemoryControl>(*this, std::string(name)))
                 .first;
    }
    return *it->second;
}

void MemorySkin::declareOptionGroup(std::string_view group,
                                    std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        declare(name).setGroup(group);
    }
}

bool MemorySkin::has(std::string_view name) const {
    return controls_.contains(name);
}

Control* MemorySkin::find(std::string_view name) {
    if (createOnDemand_) {
        return &declare(name);
    }
    const auto it = controls_.find(name);
    return it != controls_.end() ? it->second.get() : nullptr;
}

void MemorySkin::emit(Notification notification) {
    notifications_.push_back(notification);
    if (sink_) {
        // A copy, so that a handler may install another sink while it runs.
        const NotificationSink sink = sink_;
        sink(notification);
    }
}

void MemorySkin::raise(const Notification& notification) {
    emit(notification);
}

void MemorySkin::uncheckGroupPeers(const MemoryControl& selected) {
    for (auto& [name, control] : controls_) {
        if (control.get() != &selected && control->group() == selected.group()) {
            control->setChecked(false, false);
        }
    }
}

void MemorySkin::userClick(std::string_view name) {
    declare(name);
    emit({NotifyType::click, std::string(name), -1, 0});
}

void MemorySkin::userCheck(std::string_view name, bool checked) {
    declare(name).setChecked(checked, true);
}

void MemorySkin::userSelectRow(std::string_view name, int row) {
    // Like the real combo: picking the row that is already selected raises nothing.
    declare(name).selectRow(row, true);
}

void MemorySkin::userClickRow(std::string_view name, int row) {
    MemoryControl& control = declare(name);
    control.selectRow(row, false);
    emit({NotifyType::itemClick, std::string(name), row, 0});
}

void MemorySkin::userSlide(std::string_view name, int value, bool dragging) {
    MemoryControl& control = declare(name);
    control.setValue(value);
    emit({dragging ? NotifyType::moveValueChanged : NotifyType::valueChanged, std::string(name), -1,
          control.value()});
}

void MemorySkin::userType(std::string_view name, std::string_view text) {
    declare(name).setText(text);
    emit({NotifyType::textChanged, std::string(name), -1, 0});
}

void MemorySkin::userPickColour(std::string_view name, std::uint32_t argb) {
    declare(name).setColour(argb);
    emit({NotifyType::colorChanged, std::string(name), -1, argb});
}

void MemorySkin::windowCommand(WindowCommand command) {
    windowCommands_.push_back(command);
    switch (command) {
        case WindowCommand::show:
        case WindowCommand::restore:
        case WindowCommand::maximise:
        case WindowCommand::bringToFront:
            windowVisible_ = true;
            windowMinimised_ = false;
            break;
        case WindowCommand::hide:
            windowVisible_ = false;
            break;
        case WindowCommand::minimise:
            windowVisible_ = false;
            windowMinimised_ = true;
            break;
        case WindowCommand::relayout:
            break;
    }
}

bool MemorySkin::loadLanguage(std::string_view code, const std::filesystem::path& file) {
    LanguageTable table;
    if (table.load(file) != LanguageLoad::ok) {
        return false;
    }
    language_ = std::move(table);
    languageCode_ = code;
    return true;
}

LanguageLoad MemorySkin::loadLanguageText(std::string_view xml) {
    const LanguageLoad status = language_.parse(xml);
    if (status == LanguageLoad::ok) {
        languageCode_ = language_.code();
    }
    return status;
}

void MemorySkin::reloadTexts() {
    for (auto& [name, control] : controls_) {
        if (!control->textKey().empty()) {
            control->setTextKey(control->textKey());
        }
        control->reloadRowTexts();
    }
}

int MemorySkin::answerMessage(std::string key, std::string text) {
    int answer = defaultMessageAnswer_;
    if (!messageAnswers_.empty()) {
        answer = messageAnswers_.front();
        messageAnswers_.pop_front();
    }
    messages_.push_back({std::move(key), std::move(text), answer});
    if (whileMessageOpen_) {
        const ShownMessage shown = messages_.back();  // the record may move meanwhile
        whileMessageOpen_(shown);
    }
    return answer == 1 ? 1 : 0;
}

int MemorySkin::showMessage(std::string_view textKey) {
    return answerMessage(std::string(textKey),
                         textKey.empty() ? std::string() : translate(textKey));
}

int MemorySkin::showMessageText(std::string_view text) {
    return answerMessage({}, std::string(text));
}

std::optional<std::filesystem::path> MemorySkin::answerFileDialog(
    bool save, const FileDialogRequest& request) {
    fileDialogs_.push_back({save, request});
    if (fileAnswers_.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    return answer;
}

std::optional<std::filesystem::path> MemorySkin::openFileDialog(const FileDialogRequest& request) {
    return answerFileDialog(false, request);
}

std::optional<std::filesystem::path> MemorySkin::saveFileDialog(const FileDialogRequest& request) {
    return answerFileDialog(true, request);
}

std::optional<std::string> MemorySkin::showMenu(std::string_view menuResource,
                                                std::string_view anchor,
                                                std::span<const MenuItem> added) {
    ShownMenu shown{std::string(menuResource), std::string(anchor), {}};
    for (const MenuItem& item : added)
        shown.added.emplace_back(item.name, item.textKey);
    menus_.push_back(std::move(shown));
    if (menuAnswers_.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(menuAnswers_.front());
    menuAnswers_.pop_front();
    return answer;
}

}  // namespace quillon::skin
