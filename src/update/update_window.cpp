#include "update/update_window.h"

#include "update/update_window_controls.h"
#include "update/version_numbers.h"

namespace quillon::update {

namespace {

std::optional<UpdateProduct> productOfButton(std::string_view name) {
    for (const ProductLineControls& line : kProductLines) {
        if (line.button == name)
            return line.product;
    }
    return std::nullopt;
}

std::uint16_t firmwareOf(UpdateProduct product, const AttachedFirmware& devices) {
    return productEntry(product).firmware == FirmwareSource::mouse
               ? devices.mouseFirmwareVersion
               : devices.keyboardFirmwareVersion;
}

}  // namespace

UpdateWindow::UpdateWindow(UpdateWindowContext context) : ctx_(std::move(context)) {}

UpdateWindow::~UpdateWindow() {
    session_->open = false;
    session_->stop.request_stop();
}

void UpdateWindow::setText(std::string_view control, std::string_view text) {
    if (skin::Control* c = ctx_.skin.find(control))
        c->setText(text);
}

void UpdateWindow::setTextKey(std::string_view control, std::string_view key) {
    if (skin::Control* c = ctx_.skin.find(control))
        c->setTextKey(key);
}

void UpdateWindow::setEnabled(std::string_view control, bool enabled) {
    if (skin::Control* c = ctx_.skin.find(control))
        c->setEnabled(enabled);
}

void UpdateWindow::setVisible(std::string_view control, bool visible) {
    if (skin::Control* c = ctx_.skin.find(control))
        c->setVisible(visible);
}

void UpdateWindow::setPages() {
    const AttachedFirmware devices = ctx_.devices();
    for (const ProductLineControls& line : kProductLines) {
        const ProductEntry& entry = productEntry(line.product);
        if (entry.firmware == FirmwareSource::none)
            continue;
        const std::uint8_t present = entry.firmware == FirmwareSource::keyboard
                                         ? devices.keyboardPresent
                                         : devices.mousePresent;
        setVisible(line.page, present == entry.presentCode);
    }
}

void UpdateWindow::windowInitialised() {
    if (const auto row = languageRow(ctx_.languageSetting())) {
        if (skin::Control* combo = ctx_.skin.find(kLanguageCombo))
            (void)combo->selectRow(*row, false);
    }
    // A page nobody configured: the button would do nothing when clicked.
    const UpdateConfig& config = ctx_.service->config();
    setEnabled(kWebSiteButton, !config.webSite.empty());
    setEnabled(kSocialPageButton, !config.socialPage.empty());

    const ProductLineControls& software = lineControls(UpdateProduct::software);
    setText(software.installedLabel, "V" + ctx_.installedVersion);
    const AttachedFirmware devices = ctx_.devices();
    std::vector<std::pair<UpdateProduct, int>> attached;
    for (FirmwareSource source : {FirmwareSource::keyboard, FirmwareSource::mouse}) {
        const auto product =
            presentProduct(source, source == FirmwareSource::keyboard ? devices.keyboardPresent
                                                                      : devices.mousePresent);
        if (!product)
            continue;
        showInstalled(*product, devices);
        attached.emplace_back(*product, firmwareNumber(firmwareOf(*product, devices)));
    }

    // One thread asks for all lines, one after another, like a single start thread.
    ctx_.background.start(
        [this, session = session_, service = ctx_.service, post = ctx_.postToGui, attached] {
            const std::stop_token stop = session->stop.get_token();
            const auto softwareText =
                service->queryVersionText(productEntry(UpdateProduct::software).commandType, stop);
            post([this, session, softwareText] {
                if (session->open)
                    showNewestSoftware(softwareText);
            });
            for (const auto& line : attached) {
                if (stop.stop_requested())
                    return;
                const UpdateProduct product = line.first;
                const int installed = line.second;
                const auto newest =
                    service->queryVersionNumber(productEntry(product).commandType, stop);
                post([this, session, product, newest, installed] {
                    if (session->open)
                        showNewest(product, newest, installed);
                });
            }
        });
}

void UpdateWindow::showInstalled(UpdateProduct product, const AttachedFirmware& devices) {
    setText(lineControls(product).installedLabel,
            "V" + firmwareVersionText(firmwareOf(product, devices)));
}

void UpdateWindow::askNewest(UpdateProduct product, int installedNumber) {
    ctx_.background.start([this, session = session_, service = ctx_.service, post = ctx_.postToGui,
                           product, installedNumber] {
        const auto newest = service->queryVersionNumber(productEntry(product).commandType,
                                                        session->stop.get_token());
        post([this, session, product, newest, installedNumber] {
            if (session->open)
                showNewest(product, newest, installedNumber);
        });
    });
}

void UpdateWindow::showNewest(UpdateProduct product, std::optional<int> newest,
                              int installedNumber) {
    const ProductLineControls& line = lineControls(product);
    if (!newest || *newest > kFirmwareVersionLimit) {
        setTextKey(line.newestLabel, kUnknownVersion);
        setEnabled(line.button, false);
        return;
    }
    setText(line.newestLabel, versionLabel(std::to_string(*newest)));
    setEnabled(line.button, installedNumber < *newest);
}

void UpdateWindow::showNewestSoftware(const std::optional<std::string>& text) {
    const ProductLineControls& line = lineControls(UpdateProduct::software);
    if (!text || leadingNumber(*text) <= 0) {
        setTextKey(line.newestLabel, kUnknownVersion);
        setEnabled(line.button, false);
        return;
    }
    // The software button stays usable even when the version is current.
    setText(line.newestLabel, "V" + *text);
}

void UpdateWindow::notify(const skin::Notification& n) {
    if (!session_->open)
        return;
    if (n.type == skin::NotifyType::itemSelect && n.name == kLanguageCombo) {
        if (ctx_.selectLanguage && n.row >= 0)
            ctx_.selectLanguage(n.row);
        return;
    }
    if (n.type != skin::NotifyType::click)
        return;
    const UpdateConfig& config = ctx_.service->config();
    if (n.name == kCloseButton) {
        close();
    } else if (n.name == kWebSiteButton) {
        if (!config.webSite.empty())
            (void)ctx_.opener.open(config.webSite);  // the browser shows its own errors
    } else if (n.name == kSocialPageButton) {
        if (!config.socialPage.empty())
            (void)ctx_.opener.open(config.socialPage);
    } else if (const auto product = productOfButton(n.name)) {
        requestUpdate(*product);
    }
}

void UpdateWindow::requestUpdate(UpdateProduct product) {
    ctx_.background.start([service = ctx_.service, &opener = ctx_.opener, product] {
        // A refusal ends silently; a grant opens the download page.
        (void)service->requestUpdate(productEntry(product).commandType, opener);
    });
    // Marked even when the service refuses: the updater's messages decide.
    if (product != UpdateProduct::software)
        ctx_.marks.updating[static_cast<std::size_t>(product)] = true;
}

void UpdateWindow::deviceMessage(std::uint32_t id) {
    const auto message = update::deviceMessage(id);
    if (!message || !session_->open)
        return;
    const ProductLineControls& line = lineControls(message->product);
    setVisible(line.page, message->arrived);
    if (!message->arrived)
        return;
    const AttachedFirmware devices = ctx_.devices();
    showInstalled(message->product, devices);
    askNewest(message->product, firmwareNumber(firmwareOf(message->product, devices)));
}

void UpdateWindow::updaterProgress(int code, std::int64_t value) {
    switch (static_cast<UpdaterCode>(code)) {
        case UpdaterCode::finished:
            close();
            ctx_.marks.clear();
            break;
        case UpdaterCode::nothingToDo:
            break;
        case UpdaterCode::downloadFailed:
            // Shown where the progress was, so the user learns the update did not happen.
            for (const ProductLineControls& line : kProductLines) {
                if (ctx_.marks.updating[static_cast<std::size_t>(line.product)] &&
                    !line.progressText.empty()) {
                    setText(line.progressText,
                            "Download fail, error code:" + std::to_string(value));
                    setVisible(line.progressText, true);
                }
            }
            ctx_.marks.clear();
            break;
        case UpdaterCode::progress:
            for (const ProductLineControls& line : kProductLines) {
                if (!ctx_.marks.updating[static_cast<std::size_t>(line.product)])
                    continue;
                setVisible(line.button, false);
                setText(line.progressText, std::to_string(value) + "%");
                setVisible(line.progressText, true);
            }
            ctx_.skin.windowCommand(skin::WindowCommand::relayout);
            break;
    }
}

void UpdateWindow::close() {
    if (!session_->open)
        return;
    session_->open = false;
    session_->stop.request_stop();
    ctx_.skin.windowCommand(skin::WindowCommand::hide);
}

}  // namespace quillon::update
