// Colours of the palette.
enum Colour
{
    RED = 1,    // the first
    GREEN,

    // Blue comes last.
    BLUE = 4
};

//!
class NeverListed {};
