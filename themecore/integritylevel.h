#ifndef INTEGRITYLEVEL_H
#define INTEGRITYLEVEL_H

// True when "trelk-id --ilevel" reports a high integrity level ("63" or
// "127" in its output); false when the tool is missing, fails or does not
// finish within a few seconds.
bool isHighIntegrityLevel();

#endif
