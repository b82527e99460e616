#include "framework/core/ClassRegistry.h"

#include <gtest/gtest.h>

namespace {

struct Shape {
    virtual ~Shape() = default;
    virtual std::string Kind() const = 0;
};
struct Circle : Shape {
    std::string Kind() const override { return "circle"; }
};
struct Square : Shape {
    std::string Kind() const override { return "square"; }
};
struct Other {};

TEST(ClassRegistry, MakesRegisteredClassesByName) {
    fw::TClassRegistry registry;
    registry.Register<Shape>("TCircle", [] { return std::make_unique<Circle>(); });
    registry.Register<Shape>("TSquare", [] { return std::make_unique<Square>(); });
    EXPECT_EQ(registry.Create<Shape>("TCircle")->Kind(), "circle");
    EXPECT_EQ(registry.Create<Shape>("TSquare")->Kind(), "square");
    EXPECT_TRUE(registry.CanCreate<Shape>("TSquare"));
    EXPECT_FALSE(registry.CanCreate<Other>("TSquare"));
}

TEST(ClassRegistry, UnknownNamesAndSubObjectClassesAreNotMade) {
    fw::TClassRegistry registry;
    registry.RegisterName("TAxis");
    registry.Register<Shape>("TCircle", [] { return std::make_unique<Circle>(); });
    EXPECT_TRUE(registry.IsRegistered("TAxis"));
    EXPECT_FALSE(registry.IsRegistered("TTriangle"));
    try {
        registry.Create<Shape>("TTriangle");
        ADD_FAILURE() << "no error";
    } catch (const fw::EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "Class TTriangle not found");
    }
    EXPECT_THROW(registry.Create<Shape>("TAxis"), fw::EClassNotFound);
    EXPECT_THROW(registry.Create<Other>("TCircle"), fw::EClassNotFound);
}

TEST(ClassRegistry, TheApplicationHasOneRegistry) { EXPECT_EQ(&fw::ClassRegistry(), &fw::ClassRegistry()); }

}  // namespace
