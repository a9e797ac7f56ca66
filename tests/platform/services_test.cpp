#include "platform/services.h"

#include <gtest/gtest.h>

TEST(Services, OneInstanceForTheWholeProcess)
{
    EXPECT_EQ(&trek::platform::services(), &trek::platform::services());
}
