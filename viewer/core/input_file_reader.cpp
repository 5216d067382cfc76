#include "viewer/core/result_reader.h"
