#pragma once
// The web server's log directory, as the server's settings in the registry
// name it.

#include <string>

namespace diag {

// Reads "LogFileDirectory" of the server's parameters key (the key is added
// to the store when it is missing and the store can be written).
//  - Key not openable: empty text.
//  - Value missing or empty: the system folder followed by a separator and
//    "LogFiles"; empty text when the system folder is unknown.
//  - Value holding "%SystemRoot%" (any letter case): the text before the
//    placeholder is dropped and the placeholder becomes the environment
//    variable SystemRoot, or "c:" + two separators + "winnt" when it is unset.
//  - Any other value: returned unchanged.
// The registry value is read into a buffer of kPathBufferSize bytes; a value
// that does not fit counts as missing. Never ends in a separator unless the
// registry value does.
std::string ServerLogDir();

}  // namespace diag
