// The link reaching into the stores beside it: the include check must refuse this.
#include "record/Beside.h"
