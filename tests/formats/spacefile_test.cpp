// Choosing between the space file and the VRML export by the file name.
#include <gtest/gtest.h>

#include "formats/memorystream.h"
#include "formats/spacefile.h"

TEST(SpaceFile, VrmlNames)
{
    EXPECT_TRUE(isVrmlName("scene.wrl"));
    EXPECT_TRUE(isVrmlName("SCENE.WRL"));
    EXPECT_TRUE(isVrmlName(".wrl"));
    EXPECT_FALSE(isVrmlName("scene.Wrl"));
    EXPECT_FALSE(isVrmlName("scene.wRL"));
    EXPECT_FALSE(isVrmlName("scene.ts3"));
    EXPECT_FALSE(isVrmlName("scene.wrl "));
    EXPECT_FALSE(isVrmlName("wrl"));
    EXPECT_FALSE(isVrmlName(""));
}

TEST(SpaceFile, WriteChoosesByTheStreamName)
{
    CSpace s(1, 1, 1, 103);
    const std::string names[] = {"a.wrl", "b.WRL", "c.Wrl", "d.ts3", ""};
    const bool vrml[] = {true, true, false, false, false};
    for (int i = 0; i < 5; i++) {
        CMemoryStream out({}, names[i]);
        ASSERT_TRUE(writeSpaceOrVrml(out, s));
        EXPECT_EQ(out.contents().rfind(vrml[i] ? "#VRML V1.0 ascii\r\n" : "3D-Tessera\r\n", 0), 0u) << names[i];
    }
}
