#include "core/settings/SettingsFile.h"
#include "native/fakes/MemoryProfileStore.h"

#include <gtest/gtest.h>

using namespace meltemix;

TEST(SettingInteger, Placeholder) { EXPECT_EQ(ParseSettingInteger("$FF"), 255); }
