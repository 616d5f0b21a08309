// A first-in first-out queue of names.
class Queue : public Container
{
public:
    Queue();

    // Adds a name at the back.
    void add(const char* name);
    const char* take();      // removes the name at the front
    int size() const { return count; }

private:
    int count;
};

// Colours a queue can be drawn in.
enum Colour { RED = 1, GREEN };
