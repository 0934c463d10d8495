// Observers of the settings: told which settings the settings dialog changed.
#pragma once

#include <vector>

// Change ids, told in ascending order without duplicates.
enum {
    CONFIG_CHANGE_DOWNLOAD_PATH = 0,
    CONFIG_CHANGE_DOWNLOAD_NUM = 1,
};

class IObserver {
public:
    virtual ~IObserver() = default;
    virtual void OnConfigChanged(const std::vector<int>& changes) = 0;
};

// What keeps the observers.
class IConfig {
public:
    virtual ~IConfig() = default;
    virtual void AddObserver(IObserver* observer) = 0;
    virtual void RemoveObserver(IObserver* observer) = 0;
};
