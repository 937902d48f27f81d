#include "shell/tab_navigation.h"

#include <algorithm>

#include "shell/control_name.h"
#include "shell/message_window.h"

namespace quillon::shell {

namespace {

bool listed(std::span<const std::string_view> names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view n) { return equalsIgnoringCase(n, name); });
}

}  // namespace

void TabNavigation::install(NotificationRouter& router) {
    router.addFallback(skin::NotifyType::selectChanged,
                       [this](const skin::Notification& n, int) { select(n); });
}

void TabNavigation::setVisible(std::string_view name, bool visible) {
    if (skin::Control* c = skin_.find(name)) {
        c->setVisible(visible);
    }
}

bool TabNavigation::bounced(const skin::Notification& notification) {
    // Selections raised by a bounce itself are not guarded again: with both
    // editors holding edits, the two guards would otherwise bounce each other
    // without end.
    if (bouncing_) {
        return false;
    }
    for (const EditorGuardSpec* guard : guards_) {
        const skin::Control* bar = skin_.find(guard->bar);
        if (bar == nullptr || !bar->isVisible() || listed(guard->allowed, notification.name)) {
            continue;
        }
        bouncing_ = true;
        if (skin::Control* home = skin_.find(guard->home)) {
            home->setChecked(true, true);
        }
        for (std::string_view name : guard->reraise) {
            skin::Control* option = skin_.find(name);
            if (option != nullptr && option->isVisible()) {
                option->setChecked(true, true);
            }
        }
        bouncing_ = false;
        showMessage(skin_, guard->textKey);
        return true;
    }
    return false;
}

void TabNavigation::showStrip(const ProfileStripNames& names, ProfileStrip shows) {
    if (shows == ProfileStrip::none) {
        for (std::string_view name : {names.selectTab, names.panel, names.spreadButton,
                                      names.lightingEdit, names.keyEdit}) {
            setVisible(name, false);
        }
        return;
    }
    const bool lighting = shows == ProfileStrip::lighting;
    if (skin::Control* tab = skin_.find(names.selectTab)) {
        tab->setVisible(true);
        tab->selectPage(lighting ? 0 : 1);
    }
    setVisible(names.spreadButton, true);
    // The rename area of the other list does not belong on this page.
    setVisible(lighting ? names.keyEdit : names.lightingEdit, false);
}

void TabNavigation::select(const skin::Notification& notification) {
    const skin::Control* sender = skin_.find(notification.name);
    // Only a selection moves pages; an option or check box losing its check
    // goes straight to the name routes.
    if (sender == nullptr || sender->isChecked()) {
        if (bounced(notification)) {
            return;
        }
        if (beforePageChange_) {
            beforePageChange_();
        }
        for (const DeviceTab& tab : kDeviceTabs) {
            if (equalsIgnoringCase(tab.option, notification.name)) {
                if (skin::Control* layout = skin_.find(kDeviceTabLayout)) {
                    layout->selectPage(tab.page);
                }
                break;
            }
        }
        for (const DevicePage& page : kDevicePages) {
            if (equalsIgnoringCase(page.option, notification.name)) {
                if (skin::Control* layout = skin_.find(page.layout)) {
                    layout->selectPage(page.page);
                }
                showStrip(*page.strip, page.shows);
                break;
            }
        }
    }
    (void)after_.route(notification);
}

}  // namespace quillon::shell
