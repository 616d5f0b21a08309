//= Shapes
// Drawing primitives.

/* Anything that can be drawn. */
struct Shape
{
    virtual void draw() const = 0;
    virtual double area() const = 0;
    // Name shown in menus.
    const char* label;
};

class Circle : public Shape
{
public:
    Circle(double r) : radius(r) { }
    void draw() const;
    double area() const;
    static int made;     // circles made so far

private:
    double radius;
};

// Width of a drawing in points.
extern int drawingWidth;

typedef void (*Painter)(const Shape& shape);
