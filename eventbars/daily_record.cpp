#include "daily_record.h"

#include "app/app.h"

void recordBarContent(App&, const std::string&) {}
