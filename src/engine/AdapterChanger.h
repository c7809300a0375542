#pragma once
// Who carries out a change of an adapter: this process, through the adapter
// layer, or the service, which holds the rights a standard user lacks. The
// apply and the tray's enable and disable items reach the adapters only
// through this.

#include "net/NetPlatform.h"

#include <string>
#include <vector>

class CAdapterList;

class IAdapterChanger {
public:
    virtual ~IAdapterChanger() = default;
    // Each is true only when the change was made; `dns` is the comma-joined
    // list of name servers, empty for none.
    virtual bool ApplyStatic(const std::u16string& adapterId, const std::u16string& ip, const std::u16string& mask,
                             const std::u16string& gateway, const std::u16string& dns) = 0;
    virtual bool ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns) = 0;
    virtual bool SetAdapterEnabled(const std::u16string& adapterId, bool enable) = 0;
    // What the inventory could not read during the last change, in the
    // system's words, for the caller to show.
    virtual std::vector<std::u16string> Failures() const = 0;
};

// The changes made by this process. Each reads the inventory afresh, so that
// the adapter is looked up as it is now.
class CDirectAdapterChanger : public IAdapterChanger {
public:
    explicit CDirectAdapterChanger(const NetPlatform& platform) : platform(platform) {}

    bool ApplyStatic(const std::u16string& adapterId, const std::u16string& ip, const std::u16string& mask,
                     const std::u16string& gateway, const std::u16string& dns) override;
    bool ApplyDhcp(const std::u16string& adapterId, const std::u16string& dns) override;
    bool SetAdapterEnabled(const std::u16string& adapterId, bool enable) override;
    std::vector<std::u16string> Failures() const override { return failures; }

private:
    // A fresh inventory, its failures kept for Failures().
    void Refresh(CAdapterList& adapters);

    NetPlatform platform;
    std::vector<std::u16string> failures;
};
