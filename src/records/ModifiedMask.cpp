#include "records/ModifiedMask.h"
