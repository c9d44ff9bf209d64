// The program of a link check (cmake/VexulTargets.cmake): it only has to link.
int main()
{
    return 0;
}
