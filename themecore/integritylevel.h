#ifndef INTEGRITYLEVEL_H
#define INTEGRITYLEVEL_H

// True when "trelk-id --ilevel" reports a high integrity level ("63" or
// "127" in its output); false when the tool is missing, fails or does not
// finish within the patience given (a page's window waits for it).
bool isHighIntegrityLevel(int patienceMs = 10000);

#endif
