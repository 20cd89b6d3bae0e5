/* A shared library without the plug-in entry points, for the tests. */
__attribute__((visibility("default"))) int quillorn_unrelated(void)
{
    return 1;
}
