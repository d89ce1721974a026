#include "physiology.h"
