#include "ithemepart.h"
