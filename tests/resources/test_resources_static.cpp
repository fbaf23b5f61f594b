// SPDX-License-Identifier: MIT
// Resources reached through a static library that links kc_resources.
#include "kc_resources.h"

#include <gtest/gtest.h>

bool resourcesUserFinds(const QString& path);

namespace {

TEST(ResourcesThroughStaticLibrary, AreRegistered) {
    EXPECT_TRUE(resourcesUserFinds(kc::resources::picture("KABINET")));
    EXPECT_TRUE(resourcesUserFinds(kc::resources::logoStrip));
    EXPECT_TRUE(resourcesUserFinds(kc::resources::letterheadLogo));
    EXPECT_TRUE(resourcesUserFinds(kc::resources::appIcon));
    EXPECT_EQ(kc::resources::pictureNames().size(), 64);
}

} // namespace
