#include "folders.h"
