#include "update/update_check.h"

#include "update/installer_file_name.h"
#include "update/update_decision.h"

namespace fw {

namespace {

UpdateOutcome OutcomeOfInfoFetch(FetchResult result) {
    switch (result) {
        case FetchResult::Unreachable:
            return UpdateOutcome::HostUnreachable;
        case FetchResult::Cancelled:
            return UpdateOutcome::Cancelled;
        default:
            // The server was reached but gave no usable file (missing, refused,
            // oversized): as far as the user can tell, no update is offered.
            return UpdateOutcome::NoUpdateAvailable;
    }
}

UpdateOutcome Download(const NewerVersion& newer, const std::string& fileName,
                       std::uint64_t maxBytes, UpdateCheckServices& services) {
    DownloadStore& store = services.store;
    if (!store.Create(fileName)) {
        return UpdateOutcome::Aborted;
    }
    DownloadCheck check(newer.sha256, maxBytes);
    bool writeFailed = false;
    FetchResult result =
        services.transport.Fetch(newer.address, maxBytes, [&](std::string_view piece) {
            if (!check.Add(piece)) {
                return false;
            }
            if (!store.Write(piece)) {
                writeFailed = true;
                return false;
            }
            return true;
        });
    const bool verified = result == FetchResult::Ok && !writeFailed && check.Verify();
    if (services.stop.stop_requested()) {
        store.Discard();
        return UpdateOutcome::Cancelled;
    }
    if (!verified) {
        store.Discard();
        return UpdateOutcome::Aborted;
    }
    // Hashed again as it lies on disk, now that nobody can change it, so that what
    // starts is exactly what was verified.
    auto sealed = store.SealAndHash();
    if (!sealed || *sealed != newer.sha256) {
        store.Discard();
        return UpdateOutcome::Aborted;
    }
    if (services.stop.stop_requested()) {
        store.Discard();
        return UpdateOutcome::Cancelled;
    }
    if (!store.Run()) {
        store.Discard();
        return UpdateOutcome::Aborted;
    }
    return UpdateOutcome::InstallerStarted;
}

}  // namespace

UpdateOutcome RunUpdateCheck(const UpdateCheckRequest& request, UpdateCheckServices& services) {
    // An address we will not fetch from is a refusal of ours, not a network
    // failure; "no internet connection" would send the user looking elsewhere.
    auto address = ParseUpdateAddress(request.infoAddress);
    if (!address) {
        return UpdateOutcome::Aborted;
    }
    std::string infoText;
    FetchResult fetched =
        services.transport.Fetch(*address, request.maxInfoBytes, [&](std::string_view piece) {
            if (piece.size() > request.maxInfoBytes - infoText.size()) {
                return false;
            }
            infoText.append(piece);
            return true;
        });
    if (services.stop.stop_requested()) {
        return UpdateOutcome::Cancelled;
    }
    if (fetched != FetchResult::Ok) {
        return OutcomeOfInfoFetch(fetched);
    }

    UpdateDecision decision = DecideUpdate(infoText, request.installedVersion);
    const auto* newer = std::get_if<NewerVersion>(&decision);
    if (newer == nullptr) {
        return UpdateOutcome::NoUpdateAvailable;
    }
    // Known before asking, so the user is never asked about a download that
    // would be refused anyway.
    auto fileName = InstallerFileName(newer->address.path);
    if (!fileName) {
        return UpdateOutcome::Aborted;
    }
    bool yes = services.askToUpgrade(newer->version);
    if (services.stop.stop_requested()) {
        return UpdateOutcome::Cancelled;
    }
    if (!yes) {
        return UpdateOutcome::LaterUpgrade;
    }
    return Download(*newer, *fileName, request.maxDownloadBytes, services);
}

std::string UpgradeQuestion(const std::string& version) {
    return "A newer version of Framewright (" + version +
           ") is available. Do you want to download and install it now?";
}

}  // namespace fw
