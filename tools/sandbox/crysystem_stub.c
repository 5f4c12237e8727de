/* The sandbox's stand-in for the game's system library. The benchmark only
   reads its version information, so loading it does nothing at all. */
int __stdcall CrySystemStubEntry(void* module, unsigned long reason, void* reserved)
{
    (void)module;
    (void)reason;
    (void)reserved;
    return 1;
}
