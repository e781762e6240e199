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

TEST_F(ProgressFileXml, ElementsAddedAnywhereAreCountedWhereTheyStand) {
    std::ofstream(m_path) << R"(<r><a><b id="0"/></a><a><b id="1"/></a></r>)";
    RX40dCXMLOld xml(m_path);
    ASSERT_EQ(xml.SetParentNode("a", 1), 1);
    // Inside the first "a": from now on it comes second in document order.
    ASSERT_EQ(xml.SetParentNode("a", 0), 1);
    ASSERT_EQ(xml.AddNode("a", 0, nullptr, 0), 1);
    ASSERT_EQ(xml.SetParentNode("a", 1), 1);
    ASSERT_EQ(xml.AddNode("b", 0, nullptr, 0), 1);
    ASSERT_EQ(xml.SetAttribute("id", "nested", "b", 0, nullptr, 0), 1);
    // At the end of the document: last.
    ASSERT_EQ(xml.SetParentNode("r", 0), 1);
    ASSERT_EQ(xml.AddNode("a", 2, "text", 0), 1);
    ASSERT_EQ(xml.SetParentNode("a", 3), 1);
    ASSERT_EQ(xml.AddNode("b", 0, nullptr, 0), 1);
    ASSERT_EQ(xml.SetAttribute("id", "last", "b", 0, nullptr, 0), 1);
    const char* expected[] = {"0", "nested", "1", "last"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(xml.SetParentNode("a", i), 1);
        EXPECT_EQ(Attribute(xml, "id", "b"), expected[i]);
    }
    EXPECT_EQ(xml.SetParentNode("a", 4), 0);
    // A new document forgets the old one's elements.
    ASSERT_EQ(xml.SetTopNode("r"), 1);
    EXPECT_EQ(xml.SetParentNode("a", 0), 0);
}

// Writing and then reading a document of many parents, as the fixed-area file does, looks at
// each node a bounded number of times, not once per parent looked up.
TEST_F(ProgressFileXml, ManyParentsAreWrittenAndReadInLinearTime) {
    constexpr int kAreas = 5000;
    {
        RX40dCXMLOld xml(m_path);
        ASSERT_EQ(xml.SetTopNode("effect"), 1);
        ASSERT_EQ(xml.SetParentNode("effect", 0), 1);
        ASSERT_EQ(xml.AddNode("mosaic", 0, nullptr, 0), 1);
        for (int i = 0; i < kAreas; ++i) {
            ASSERT_EQ(xml.SetParentNode("mosaic", 0), 1);
            ASSERT_EQ(xml.AddNode("area", i, nullptr, 0), 1);
            ASSERT_EQ(xml.SetParentNode("area", i), 1);
            ASSERT_EQ(xml.AddNode("rect", 0, nullptr, 0), 1);
            ASSERT_EQ(xml.SetAttribute("left", std::to_string(i).c_str(), "rect", 0, nullptr, 0),
                      1);
        }
        ASSERT_EQ(xml.Save(), 1);
        EXPECT_LT(xml.NodesVisited(), std::size_t{16});
    }
    RX40dCXMLOld xml(m_path);
    ASSERT_EQ(xml.SetParentNode("mosaic", 0), 1);
    ASSERT_EQ(xml.GetNodeCount("area", nullptr, 0), kAreas);
    for (int i = 0; i < kAreas; ++i) {
        ASSERT_EQ(xml.SetParentNode("area", i), 1);
        ASSERT_EQ(Attribute(xml, "left", "rect"), std::to_string(i));
    }
    // One walk for "mosaic" and one for "area", each over 2 + 2 * kAreas nodes.
    EXPECT_LE(xml.NodesVisited(), std::size_t{2 * (2 + 2 * kAreas)});
}
