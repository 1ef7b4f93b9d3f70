#pragma once

/// Sets a flag for as long as it lives; however the scope is left, an
/// exception included, the flag gets its old value back.
class ScopedSwitch
{
public:
    ScopedSwitch(bool& flag, bool on)
        : flag(flag)
        , previous(flag)
    {
        flag = on;
    }
    ~ScopedSwitch() { flag = previous; }
    ScopedSwitch(const ScopedSwitch&) = delete;
    ScopedSwitch& operator=(const ScopedSwitch&) = delete;

private:
    bool& flag;
    bool previous;
};
