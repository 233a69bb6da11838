#include "otherRoot.h"
