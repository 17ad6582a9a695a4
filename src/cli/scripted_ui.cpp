#include "scripted_ui.h"
