// The system's master output level, which the board's master fader shows and sets. One
// implementation per platform mixer; a binding that fails leaves the control unbound, and the
// fader then does nothing.
#pragma once

#include <string>
#include <vector>

namespace zem::board {

struct MasterVolumeDevice {
    int index;        // what "Master Volume device" stores
    std::string name; // empty when the device's description could not be read
    bool described;   // false: the settings page reports it and lists it as "Unknown"
};

class MasterVolume {
public:
    virtual ~MasterVolume();
    // The system's mixer devices, for the settings page; empty without any.
    virtual std::vector<MasterVolumeDevice> ListDevices() = 0;
    // Releases any bound control, then binds the master volume of the device. False leaves
    // nothing bound.
    virtual bool Bind(int device) = 0;
    virtual void Unbind() = 0;
    virtual bool IsBound() const = 0;
    // The bound control's range and level; 0 when unbound.
    virtual long GetMinimum() const = 0;
    virtual long GetMaximum() const = 0;
    virtual long GetValue() = 0;
    // Sets every channel of the control; ignored when unbound.
    virtual void SetValue(long value) = 0;
};

} // namespace zem::board
