#include "app/AppSettings.h"

AppSettings appSettings;
