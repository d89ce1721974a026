#include "routines.h"
