#pragma once

#include <QString>

// Where the system profile "WIN.INI" lives on this platform: the file named
// by KAVREL_WININI when that is set, else WIN.INI in the user's configuration
// directory ($XDG_CONFIG_HOME, default ~/.config). The returned path is a
// native path; PrivateProfile accepts it as it is.
class BootstrapProfile
{
public:
    static QString path();
};
