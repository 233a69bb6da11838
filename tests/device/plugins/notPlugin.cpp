// A shared library without Qt plug-in metadata.
extern "C" int tarnNotAPlugin()
{
    return 42;
}
