// Stands in for the download control: keeps the lists of CMD_ADD_DOWNLOADS it is given.
#pragma once

#include <memory>
#include <vector>

#include "download/DownloadRecords.h"
#include "facade/AppFacade.h"
#include "facade/BaseControl.h"
#include "facade/CommandCodes.h"

class RecordingDownloads : public CBaseControl {
public:
    RecordingDownloads() : CBaseControl(nullptr, nullptr) {}
    int Execute(int code, void* data) override {
        if (code == CMD_ADD_DOWNLOADS) lists.emplace_back(static_cast<std::vector<DOWNLOAD_LIST_ITEM>*>(data));
        return 0;
    }
    // The one registered with the facade for the test program.
    static RecordingDownloads& Installed() {
        static RecordingDownloads* control = [] {
            auto* recording = new RecordingDownloads;
            CAppFacade::GetInstance().RegisterControl(CONTROL_DOWNLOAD, recording);
            return recording;
        }();
        return *control;
    }
    std::vector<std::unique_ptr<std::vector<DOWNLOAD_LIST_ITEM>>> lists;
};
