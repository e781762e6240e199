#include "platform/RX40dCXMLOld.h"

#include "CTestMedia.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

class ProgressFileXml : public ::testing::Test {
protected:
    std::string Attribute(RX40dCXMLOld& xml, const char* name, const char* element) {
        std::string value;
        xml.GetAttributeValue(value, name, element, 0, nullptr, 0);
        return value;
    }

    CTestMedia m_media;
    std::string m_path = m_media.Path("doc.xml");
};

} // namespace

TEST_F(ProgressFileXml, ParentsAreCountedInDocumentOrderOverTheWholeDocument) {
    std::ofstream(m_path) << R"(<r><a><b id="0"/><x><a><b id="1"/></a></x></a><a><b id="2"/></a>
        <a><b id="3"/><b id="4"/></a></r>)";
    RX40dCXMLOld xml(m_path);
    const char* expected[] = {"0", "1", "2", "3"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(xml.SetParentNode("a", i), 1);
        EXPECT_EQ(Attribute(xml, "id", "b"), expected[i]);
    }
    EXPECT_EQ(xml.GetNodeCount("b", nullptr, 0), 2);

    // No such parent: nothing is addressed until a parent is found again.
    EXPECT_EQ(xml.SetParentNode("a", 4), 0);
    EXPECT_EQ(xml.GetNodeCount("b", nullptr, 0), 0);
    EXPECT_EQ(Attribute(xml, "id", "b"), "");
    EXPECT_EQ(xml.AddNode("b", 0, nullptr, 0), 0);
    EXPECT_EQ(xml.SetParentNode("a", -1), 0);
    ASSERT_EQ(xml.SetParentNode("r", 0), 1);
    EXPECT_EQ(xml.GetNodeCount("a", nullptr, 0), 3);
}
