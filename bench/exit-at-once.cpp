// Stands in for the command interpreter or for net: does nothing, succeeds.
int main()
{
    return 0;
}
